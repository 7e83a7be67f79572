#pragma once

#include <QtGlobal>

/// The C runtime's linear congruential generator, draw for draw: seeding sets the state
/// and discards one draw; each draw sets s = s * 22695477 + 1 (mod 2^32) and yields bits
/// 16 to 30 of the new state, 0 to 32767.
class RandomGenerator final {
public:
    explicit RandomGenerator(quint32 seed = 1) { setSeed(seed); }

    /// Sets the state to seed and discards one draw.
    void setSeed(quint32 seed)
    {
        m_state = seed;
        next();
    }
    /// The next value, 0 to 32767.
    int next()
    {
        m_state = m_state * 22695477u + 1u;
        return int((m_state >> 16) & 0x7FFFu);
    }
    quint32 state() const { return m_state; }

private:
    quint32 m_state = 0;
};
