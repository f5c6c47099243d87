#pragma once

// Measurement rows and lists in one include.
#include "mereni/Tmereni.h"
#include "mereni/Tzaznam.h"
