#pragma once

class QKeyEvent;

namespace kemuyi {

// What a key means in the practice and exam windows. The numeric keypad carries the exam
// terminal's keys; letters give the same to keyboards without a keypad.
enum class ExamKey {
    None,
    A, B, C, D,
    True, False,
    Prev, Next,
    Hint,
    GiveUp,  // 放弃: to the next unanswered question
    HandIn,  // 交卷
    Back,    // leave the page (confirmations: keep answering)
    Book,    // 错题练习 from the exam window's start page
    MockExam // 模拟考试 from the practice window
};

// Keypad (Num Lock on): 7 8 9 6 A–D, 4 对, 5 错, + previous, Enter next, . hint, − give-up,
// * hand-in, / wrong-question drill, 0 back; Esc back.
// Letters: A B C D, T 对, F 错, P previous, N next, H hint, G give-up, J hand-in, K drill,
// M mock exam. Letters with Ctrl or Alt are left alone.
ExamKey examKeyFor(const QKeyEvent &event);

// Only the letter keys: what the practice window adds to its keypad keys.
ExamKey letterKeyFor(const QKeyEvent &event);

} // namespace kemuyi
