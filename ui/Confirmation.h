#pragma once

#include <QString>

#include <functional>

namespace kemuyi {

// Asks the learner a yes-or-no question before something that cannot be undone. The default
// shows a question box with 是 and 否 (否 is the default button, so Enter or Esc by accident
// keeps things as they are); tests install their own so that nothing blocks on a box.
using Confirmer = std::function<bool(const QString &caption, const QString &question)>;

// Installs a confirmer; an empty one restores the box. Returns the previous one.
Confirmer setConfirmer(Confirmer confirmer);

// Asks with the application's display name as the caption; true when the learner says yes.
bool confirm(const QString &question);

} // namespace kemuyi
