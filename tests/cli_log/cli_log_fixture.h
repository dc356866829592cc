#pragma once

// Runs norvalis-cli in-process with the logbook and the settings file in a scratch folder.

#include "commands.h"
#include "logbook/log_location.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace norvalis::cli {

struct CliRun {
    int status;
    std::string out, err;
};

inline CliRun RunCli(const std::vector<std::string_view> &arguments) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunCommandLine(arguments, "unused", out, err);
    return {status, out.str(), err.str()};
}

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        logbook::setLogPathOverride(dir_.filePath("Norvalis-log.sqlite"));
    }
    void TearDown() override { logbook::setLogPathOverride(QString()); }

    std::string WriteSettings(const std::string &options) {
        const QString path = dir_.filePath("Norvalis.ini");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(
            ("[Period]\nP_1=Breakfast\nP_2=Options\n[Breakfast]\nCD_1=10\n" + options).c_str());
        return path.toStdString();
    }

    QTemporaryDir dir_;
};

} // namespace norvalis::cli
