#pragma once

#include "model/Errors.h"

// A settings file that cannot be read, written, or that would be corrupted by a value.
// The message names the file (when there is one) and the reason.
RK_DECLARE_ERROR(ESettingsError, ERKError)
