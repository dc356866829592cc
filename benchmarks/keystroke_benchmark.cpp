// One keystroke in the main window, end to end: the text change, the calculation, every
// label and its accessibility update. Target: under 50 µs.

#include "platform/settings_location.h"
#include "ui/main_window/main_window.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// Full tables, so that every walk runs to its end.
QByteArray fullTables() {
    QByteArray file = "[Period]\nP_1=Breakfast\n\n[Breakfast]\nCD_1=10\n";
    for (int i = 1; i <= 12; ++i) {
        file += "BS_" + QByteArray::number(i) + '=' + QByteArray::number(100 + 20 * i) + ",1\n";
        file += "CW_" + QByteArray::number(i) + '=' + QByteArray::number(10 * i) + ",1\n";
    }
    return file;
}

// Alternates between two readings, so that every figure changes at every keystroke.
void BM_KeystrokeToLabels(benchmark::State &state, const char *box) {
    QTemporaryDir dir;
    platform::setSettingsDirectoryOverride(dir.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QFile file(dir.filePath(QStringLiteral("Norvalis.ini")));
    if (!file.open(QIODevice::WriteOnly) || file.write(fullTables()) < 0) {
        state.SkipWithError("cannot write the settings file");
        return;
    }
    file.close();
    MainWindow window;
    window.show();
    auto *input = window.findChild<QLineEdit *>(QString::fromLatin1(box));
    window.findChild<QLineEdit *>(QStringLiteral("Carb"))->setText(QStringLiteral("75"));
    const QString texts[] = {QStringLiteral("190"), QStringLiteral("95")};
    int n = 0;
    for (auto _ : state)
        input->setText(texts[n++ & 1]);
    window.close();
}

BENCHMARK_CAPTURE(BM_KeystrokeToLabels, blood_sugar, "Blood_Sugar")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_KeystrokeToLabels, carbohydrate, "Carb")->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) {
    // No display needed; the window is laid out and its labels are updated as on screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
