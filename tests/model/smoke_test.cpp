#include <gtest/gtest.h>
#include "core/model/VeloxData.h"
TEST(Smoke, Builds) { velox::VeloxData d; d.ApplyStartupDefaults(); EXPECT_EQ(d.Cavities.CavityCount(), 2); }
