#include <gtest/gtest.h>
#include "support/TestSupport.h"

int main(int argc, char **argv) {
    ::testing::InitGoogleTest(&argc, argv);
    PrepareTestProcess();
    return RUN_ALL_TESTS();
}
