// Everything of the framework stand-in that the application uses: the shell, the media
// search, the text helper, and the dialog with its controls.
#pragma once

#include "d3dx9/d3dx9.h"
#include "dxut/dialog.h"
#include "dxut/framework.h"
#include "dxut/media_search.h"
#include "dxut/text_helper.h"
#include "win32/win32.h"
