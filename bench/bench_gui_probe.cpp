// Probe preloaded into xrdview by bench_gui (LD_PRELOAD). It replaces
// QApplication::exec() with a version that watches paint events: when the
// first paint pass after exec is over it writes the time, then (with
// BENCH_GUI_TOGGLE set) calls the report window's failedtests() slot, as
// the "Failed Tests Only" button does, and writes the time to the end of
// the next paint pass. With BENCH_GUI_SETTLE set instead, it waits until
// the report view has laid out the whole report in its idle steps (none of
// the view's zero timers active at two looks 50 ms apart) and writes that
// time, so that the driver's peak covers what the open holds once it is
// done. Times are CLOCK_MONOTONIC seconds, comparable with the driver's
// clock. The process then ends with _exit(0), so that freeing the model at
// exit is not part of the measurement.

#include <QApplication>
#include <QEvent>
#include <QMetaObject>
#include <QTimer>
#include <QWidget>

#include <dlfcn.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

double monotonicNow()
{
    timespec ts {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

void finish()
{
    std::fflush(stderr);
    _exit(0);
}

// Runs a callback once the paint pass that contains the next paint event is
// over: a zero timer queued behind the pass fires after its last widget.
class PaintWatcher : public QObject
{
public:
    void afterNextPaint(std::function<void()> callback) { m_callback = std::move(callback); }
    bool armed() const { return bool(m_callback); }

    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_callback) {
            auto callback = std::move(m_callback);
            m_callback = nullptr;
            QTimer::singleShot(0, callback);
        }
        return QObject::eventFilter(object, event);
    }

private:
    std::function<void()> m_callback;
};

PaintWatcher *watcher()
{
    static PaintWatcher instance;
    return &instance;
}

QWidget *reportWindow()
{
    for (QWidget *widget : QApplication::allWidgets()) {
        if (widget->inherits("QAReporter") && widget->isVisible())
            return widget;
    }
    return nullptr;
}

void toggle()
{
    QWidget *window = reportWindow();
    if (!window) {
        std::fprintf(stderr, "BENCH_GUI error no report window\n");
        finish();
    }
    const double start = monotonicNow();
    if (!QMetaObject::invokeMethod(window, "failedtests", Qt::DirectConnection)) {
        std::fprintf(stderr, "BENCH_GUI error no failedtests slot\n");
        finish();
    }
    watcher()->afterNextPaint([start] {
        std::fprintf(stderr, "BENCH_GUI toggle %.6f\n", monotonicNow() - start);
        finish();
    });
    // A toggle that schedules no paint at all is reported, not waited for.
    QTimer::singleShot(5000, [] {
        if (watcher()->armed()) {
            std::fprintf(stderr, "BENCH_GUI error no paint after toggle\n");
            finish();
        }
    });
}

// True while a report view has a zero timer running: its idle layout steps.
bool viewBusy()
{
    for (QWidget *widget : QApplication::allWidgets()) {
        if (!widget->inherits("DRendocView"))
            continue;
        for (const QTimer *timer : widget->findChildren<QTimer *>(Qt::FindDirectChildrenOnly)) {
            if (timer->isActive() && timer->interval() == 0)
                return true;
        }
    }
    return false;
}

void settle()
{
    static int idleLooks = 0;
    idleLooks = viewBusy() ? 0 : idleLooks + 1;
    if (idleLooks >= 2) {
        std::fprintf(stderr, "BENCH_GUI settled %.6f\n", monotonicNow());
        finish();
    }
    QTimer::singleShot(50, settle);
}

} // namespace

int QApplication::exec()
{
    qApp->installEventFilter(watcher());
    watcher()->afterNextPaint([] {
        std::fprintf(stderr, "BENCH_GUI firstpaint %.6f\n", monotonicNow());
        if (std::getenv("BENCH_GUI_SETTLE"))
            QTimer::singleShot(0, settle);
        else if (std::getenv("BENCH_GUI_TOGGLE"))
            QTimer::singleShot(0, toggle);
        else
            finish();
    });
    using Exec = int (*)();
    static const auto real = reinterpret_cast<Exec>(dlsym(RTLD_NEXT, "_ZN12QApplication4execEv"));
    return real ? real() : 1;
}
