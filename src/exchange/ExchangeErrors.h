#pragma once

// Error kinds of the exchange layer. Both carry the file they concern in their message.
//
// EFileError: a file that cannot be opened, read, created or written (the operating
// system's reason is part of the message).
// EFileFormatError: a file whose content cannot be imported; the message names the file,
// the line (or byte offset) and the field where reading stopped.

#include "model/Errors.h"

RK_DECLARE_ERROR(EFileError, ERKError)
RK_DECLARE_ERROR(EFileFormatError, ERKError)
