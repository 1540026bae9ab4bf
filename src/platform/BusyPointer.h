#pragma once

namespace qzc {

/// The hourglass mouse pointer while the object lives: nested ones stack, and the default
/// pointer comes back on every way out. A program without a window system (a test on a
/// core application) has no pointer to change.
class BusyPointer {
public:
    BusyPointer();
    ~BusyPointer();
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    bool shown_;
};

} // namespace qzc
