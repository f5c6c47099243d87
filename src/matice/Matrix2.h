#pragma once

// The numerical core: value types, dense and sparse products, factorisations,
// the threaded products of the normal equations and the normal quantile.

#include "matice/Cholesky.h"
#include "matice/DenseHelpers.h"
#include "matice/DenseProducts.h"
#include "matice/FpGuard.h"
#include "matice/Konstanty.h"
#include "matice/Ldlt.h"
#include "matice/Lu.h"
#include "matice/MatrixTypes.h"
#include "matice/ParallelProducts.h"
#include "matice/ParallelRows.h"
#include "matice/Quantile.h"
#include "matice/Real.h"
#include "matice/Sparse.h"
#include "matice/Svd.h"
