// Runs the window's test classes (all, or the one named as the first argument), headless.
#include "AppTests.h"

#include "app/AppMain.h"

#include <cstring>

int main(int argc, char** argv) {
    verrask::app::PrepareEnvironment();
    QApplication app(argc, argv);
    verrask::app::SetUpApplication(app);
    const char* only = argc > 1 && argv[1][0] != '-' ? argv[1] : nullptr;
    QStringList args{QString::fromLocal8Bit(argv[0])};
    for (int i = only ? 2 : 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);

    using namespace verrask::app::test;
    TMainWindowTest window;
    TScalingTest scaling;
    TAboutBoxTest about;
    TChecksWindowTest checks;
    int failures = 0;
    for (QObject* suite : std::initializer_list<QObject*>{&window, &scaling, &about, &checks}) {
        const char* name = suite->metaObject()->className();
        if (only && !std::strstr(name, only)) continue;
        failures += QTest::qExec(suite, args);
    }
    return failures == 0 ? 0 : 1;
}
