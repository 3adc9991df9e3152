#include "running_app.h"
