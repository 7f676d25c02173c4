#include "support/FakePlatform.h"
#include "window/Form1.h"

#include <QTest>

#include <malloc.h>

#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer runtime's allocator interface; GCC installs no header for it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

// Bytes the allocator hands out now (under AddressSanitizer, its own count).
long long allocatedBytes()
{
#if defined(__SANITIZE_ADDRESS__)
    return static_cast<long long>(__sanitizer_get_current_allocated_bytes());
#else
    return static_cast<long long>(mallinfo2().uordblks);
#endif
}

} // namespace

// Ten thousand armed ticks through the real window, driven fast by a fake clock: the
// memory in use after them is what it was before.
class TestTickMemory : public QObject {
    Q_OBJECT
private slots:
    void tenThousandTicksDoNotGrow();
};

void TestTickMemory::tenThousandTicksDoNotGrow()
{
    FakePlatform platform;
    Form1 form(platform);
    form.load();
    form.setPickerValue(Picker::dtpCountDown, datevalue::fromWallClock(QDate(2000, 12, 27), QTime(23, 59, 59)));
    form.findChild<QWidget *>(QStringLiteral("Option2"))->setProperty("checked", true);
    form.scheduler().Command1_Click();
    const auto run = [&](int ticks) {
        for (int i = 0; i < ticks; ++i) {
            platform.advanceMs(1000);
            form.scheduler().Timer1_Timer();
        }
        QCoreApplication::processEvents();
    };
    run(1000); // caches, the label's text layout, the font engine
    const long long before = allocatedBytes();
    run(10000);
    const long long after = allocatedBytes();
    qInfo("allocated before %lld bytes, after %lld bytes", before, after);
    QVERIFY2(after - before < 16 * 1024, qPrintable(QStringLiteral("grew by %1 bytes").arg(after - before)));
    QCOMPARE(form.pickerValue(Picker::dtpCountDown),
             datevalue::fromWallClock(QDate(2000, 12, 27), QTime(23, 59, 59).addSecs(-11000)));
    QVERIFY(platform.requests.isEmpty());
}

QTEST_MAIN(TestTickMemory)
#include "tst_tickmemory.moc"
