// Everything of the D3DX stand-in that the application uses.
#pragma once

#include "d3d9/d3d9.h"
#include "d3dx9/buffer.h"
#include "d3dx9/effect.h"
#include "d3dx9/font.h"
#include "d3dx9/math.h"
#include "d3dx9/sprite.h"
