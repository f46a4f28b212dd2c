#pragma once

// Synchronous camera operations for the user-interface thread: each runs one operation
// on a camera thread of its own and waits for its end. While waiting, the calling thread
// handles no user input but keeps running the camera thread's calls onto it (progress),
// so a caller's windows stay painted and nothing deadlocks.
//
// Each wrapper returns the result code and sets message to its text (empty for 0); its
// output is copied only on result 0. The port comes from the settings (setting Port);
// the settings store must outlive the call. None of them throws.

#include "camera/Camera.h"
#include "model/CameraSettings.h"

#include <QString>

#include <cstdint>

class Settings;

// Sets the operation and the port from the settings, starts the suspended camera and
// waits for its end; returns its ResultCode, or 15 when any of these steps fails.
uint8_t RunCameraOperation(TCamera& camera, uint8_t operation, const Settings& settings);

uint8_t CameraReadCustomSettings(const Settings& settings, TF100CustomSettings& customSettings,
                                 QString& message);
uint8_t CameraWriteCustomSettings(const Settings& settings,
                                  const TF100CustomSettings& customSettings, QString& message);
uint8_t CameraReadDataSettings(const Settings& settings, TF100DataSettings& dataSettings,
                               QString& message);
uint8_t CameraWriteDataSettings(const Settings& settings,
                                const TF100DataSettings& dataSettings, QString& message);
uint8_t CameraReadDataSize(const Settings& settings, uint16_t& dataSize, QString& message);
uint8_t CameraDeleteShootingData(const Settings& settings, QString& message);

// The download, run synchronously: onProgress gets the rising percent of the memory
// image as it comes in (on this thread), and rollSet the decoded shooting data on
// result 0. When image is given it receives the raw memory image on result 0.
uint8_t CameraDownloadShootingData(const Settings& settings, TRKRollSet& rollSet,
                                   const TCamera::TProgressEvent& onProgress, QString& message,
                                   QByteArray* image = nullptr);
