#pragma once

// Ends a start-up measurement: once the first paint of the window (or of any widget in it) has
// been handled, prints the window's size as "WIDTHxHEIGHT" on the first line and the phases
// marked on the way on the second ("NAME=MILLISECONDS ...", each from the start of main() to the
// end of that phase, the last one "painted"), then ends the process on the spot, so that the
// time of the process is the time to the first drawn window. A window that is never drawn ends
// the process with status 3 after 30 seconds.
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

class Phases {
public:
    Phases() : start_(std::chrono::steady_clock::now()) {}
    void mark(const char* name) {
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_).count();
        char item[64];
        std::snprintf(item, sizeof item, "%s%s=%.3f", marks_.empty() ? "" : " ", name, ms);
        marks_ += item;
    }
    const std::string& text() const { return marks_; }

private:
    std::chrono::steady_clock::time_point start_;
    std::string marks_;
};

class FirstPaint : public QObject {
public:
    FirstPaint(QWidget* window, Phases& phases) : window_(window), phases_(phases) {
        QTimer::singleShot(30000, [] { std::_Exit(3); });
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget == window_ || window_->isAncestorOf(widget)) {
                seen_ = true;
                // Runs once this paint pass, which draws the whole window, is over.
                QTimer::singleShot(0, [this] {
                    phases_.mark("painted");
                    std::printf("%dx%d\n%s\n", window_->width(), window_->height(), phases_.text().c_str());
                    std::fflush(stdout);
                    std::_Exit(0);
                });
            }
        }
        return false;
    }

private:
    QWidget* window_;
    Phases& phases_;
    bool seen_ = false;
};
