#pragma once

namespace dwl {

// System-wide hotkeys, registered on the options window.
class IHotkeys {
public:
    virtual ~IHotkeys() = default;
    virtual bool Register(int id, unsigned modifiers, unsigned virtualKey) = 0;
    virtual void Unregister(int id) = 0;
};

}  // namespace dwl
