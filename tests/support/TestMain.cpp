#include <gtest/gtest.h>

#ifdef TARVELLE_TEST_WIDGETS
#include "core/F_SlideOff.h"

#include <QApplication>
using TTestApplication = QApplication;
#else
#include <QCoreApplication>
using TTestApplication = QCoreApplication;
#endif

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    TTestApplication app(argc, argv);
#ifdef TARVELLE_TEST_WIDGETS
    // Windows slide away as fast as the event loop turns.
    TSlideOff::SetStepIntervalMs(0);
#endif
    return RUN_ALL_TESTS();
}
