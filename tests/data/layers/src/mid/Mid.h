#pragma once

#include "side/Side.h"
