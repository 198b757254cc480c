#pragma once

class QKeyEvent;

namespace kemuyi {

// What a key does in the practice and exam windows.
enum class KeyAction {
    None,
    A, B, C, D,
    True, False,
    Prev, Next,
    Hint,     // the practice window's 显示正确答案
    GiveUp,   // 放弃: to the next unanswered question
    HandIn,   // 交卷
    Book,     // 错题练习 from the exam window's start page
    Back,     // leave the page (confirmations: keep answering)
    Discard,  // 放弃考试: end an unfinished exam without a score
    MockExam, // 模拟考试 from the practice window
    Explain,  // 解析: open or close the explanation once the answer is known
    JumpTo,   // 转到第…题: type the number, then Enter
    Sequential, Intensive, // 顺序练习, 加强练习
    AutoAdvance,           // the 自动转下题 switch
    Category1, Category2, Category3, Category4, Category5, // the menu's categories, top to bottom
    Read,     // read the shown question aloud, or stop reading
    AutoRead, // switch reading each new question aloud on or off
    Size,     // the menu's next window size
};

// The windows that read the key table.
enum class KeyWindow { Menu, Practice, Exam };

// The one key table of both windows. The numeric keypad (Num Lock on) carries the exam
// terminal's keys; letters give the same to keyboards without a keypad, and with Ctrl or Alt
// are left alone. An entry serves both windows or one of them:
//   keypad 7 8 9 6, A B C D: answers A–D        keypad 4, T: 对        keypad 5, F: 错
//   keypad +, P: previous     Enter, N: next     Esc: back
//   practice only: keypad ., H: hint            keypad *, M: mock exam
//   practice only: E: explanation      G: go to a question     S, R: the two modes    Z: auto-advance
//   exam only: keypad −, G: give up    keypad *, J: hand in    keypad /, K: drill    keypad 0: back
//              Q: discard the unfinished exam
//   exam also: E: explanation (result review and drill)
//   menu: 1–5 (main row or keypad): the categories, top to bottom    Esc: leave (after asking)
//   practice and exam: V: read aloud / stop            practice, exam and menu: Y: auto-read
//   menu only: W: window size
KeyAction keyActionFor(const QKeyEvent &event, KeyWindow window);

// The action of a virtual-key code (VirtualKey) alone; letters have none.
KeyAction keyActionForCode(int virtualKey, KeyWindow window);

} // namespace kemuyi
