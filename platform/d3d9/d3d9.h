// Everything of the Direct3D 9 stand-in that the application uses.
#pragma once

#include "d3d9/device.h"
#include "d3d9/direct3d.h"
#include "d3d9/types.h"
#include "d3d9/vertex_buffer.h"
#include "d3d9/vertex_declaration.h"
