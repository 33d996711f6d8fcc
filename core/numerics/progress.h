#pragma once
// A progress indicator with a maximum and a position; the integrator reports through it so
// that the core needs no window toolkit.
namespace tgsim {

class Progress {
public:
    virtual ~Progress() = default;
    virtual void setMaximum(int maximum) = 0;
    virtual void setPosition(int position) = 0;
};

}  // namespace tgsim
