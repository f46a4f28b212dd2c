#pragma once

// Import side of the exchange formats: recognising a file by its content, the roll number
// a file proposes for itself, and the readers that turn one file into a roll and its
// frames. The export side is in ExportRolls.h, the MV-1 reader in MV1.h.
//
// Every reader appends to a roll set the caller passes in, so the files of one import
// end up in one set. A reader appends all of a file or nothing: on an error the set is
// left as it was. Texts of the file become camera codes through the model's reverse
// conversions, which never reject a value. The roll's photographer is the caller's
// (the Photographer setting, read once by whoever starts the import).
//
// Errors: EFileError when a file cannot be read; EFileFormatError, naming the file, the
// line and the field, when its content cannot be imported (see each reader). Pure
// functions of their inputs; any thread may call them.

#include "exchange/ExchangeFormat.h"
#include "exchange/TextFile.h"
#include "model/DataStructures.h"

#include <QString>

#include <cstdint>

// A frame number is 8 bits wide: a file with more frames cannot be imported.
inline constexpr int MaxFramesPerFile = 255;

// The format of a file, from its content alone (the extension decides nothing).
TExchangeFormat DetectFileFormat(const QString& fileName);
TExchangeFormat DetectFormat(const QByteArray& data);

// The roll number a file proposes for itself, or -1 when it gives none.
int32_t ReadFileRollNumber(const QString& fileName);
int32_t ProposedRollNumber(const TSourceFile& source, TExchangeFormat format);

// The decimal value of the digits of the file name (without directory and extension);
// -1 when there are none or they exceed 32 bits. "Roll 0012 (2003).txt" gives 122003.
int32_t FileNameRollNumber(const QString& fileName);

// Detects the format and runs its reader; an unrecognised file is left alone. Returns
// whether anything was appended.
bool ImportFile(const QString& fileName, TRKRollSet& rollSet, int32_t rollNumber,
                const QString& photographer);

// The readers. rollNumber is stored in the roll and every frame; -1 asks the SoftTALK
// reader for the file's "FILMNO=" value and the PhotoSecretary reader for the file name's
// digits, while the F90 reader stores it as given.
bool ReadSoftTALKFile(const QString& fileName, TRKRollSet& rollSet, int32_t rollNumber,
                      const QString& photographer);
bool ReadPhotoSecretaryFile(const QString& fileName, TRKRollSet& rollSet, int32_t rollNumber,
                            const QString& photographer);
bool ReadF90File(const QString& fileName, TRKRollSet& rollSet, int32_t rollNumber);

// The same readers on a file already in memory (the fuzz targets use these).
void ReadSoftTALKData(const TSourceFile& source, TRKRollSet& rollSet, int32_t rollNumber,
                      const QString& photographer);
void ReadPhotoSecretaryData(const TSourceFile& source, TRKRollSet& rollSet, int32_t rollNumber,
                            const QString& photographer);
void ReadF90Data(const TSourceFile& source, TRKRollSet& rollSet, int32_t rollNumber);

// The F100 shutter speed code of an F90 code; 0x72 (no text, shown as "??") for the
// codes the F90 table does not hold.
uint8_t F90ShutterToF100(uint8_t f90Code);
