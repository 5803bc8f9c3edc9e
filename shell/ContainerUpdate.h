#pragma once
// Whether the container still waits for its first picture: raised at the end of a
// normal start-up, taken by the first drawing in place.
#include <utility>

class CContainerUpdate {
public:
    void Raise() { m_pending = true; }
    bool IsPending() const { return m_pending; }
    // True once after Raise.
    bool Take() { return std::exchange(m_pending, false); }

private:
    bool m_pending = false;
};
