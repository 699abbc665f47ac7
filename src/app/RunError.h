// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Kept for callers that know the run failure by its old place.
#include "listing/RunError.h"
