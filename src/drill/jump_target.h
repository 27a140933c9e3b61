#pragma once
// A drill window the jump dialog repositions.
class TJumpTarget {
public:
    virtual ~TJumpTarget() = default;
    // The dialog's Enter with the trimmed entry already converted to n. A position-based window (mock exam,
    // by-set) acts only for 0 < n < 101; an id-based window (sequential, chapter) locates id n (staying put when
    // its set has no such id). Each window does its own steps in their specified order.
    virtual void JumpTo(int n) = 0;
};
