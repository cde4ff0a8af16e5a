#include "ui_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// Qt's own diagnostics go to standard output, so that the tests that compare what the program
// writes to standard error see only the program's lines; nothing is lost from the test log.
void toStandardOutput(QtMsgType, const QMessageLogContext&, const QString& message)
{
    std::fprintf(stdout, "qt: %s\n", qPrintable(message));
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    qInstallMessageHandler(toStandardOutput);
    testing::AddGlobalTestEnvironment(new lullex::test::QtApplicationEnvironment(argc, argv));
    return RUN_ALL_TESTS();
}
