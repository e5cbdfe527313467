// Everything a host needs: the hoop catalogue, the value record with its storage types and value kinds,
// and the platform types that cross the boundary.
#pragma once

#include "INIHoop.h"
#include "INIValue.h"
