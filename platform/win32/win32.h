// Everything of the Win32 stand-in that the application uses.
#pragma once

#include "win32/hresult.h"
#include "win32/messages.h"
#include "win32/string_format.h"
#include "win32/text_format.h"
#include "win32/types.h"
#include "win32/virtual_keys.h"
#include "win32/wide_text.h"
