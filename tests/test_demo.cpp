#include <gtest/gtest.h>

#include "vitrum.h"
