#pragma once

#include "high/High.h"
#include "low/Other.h"
