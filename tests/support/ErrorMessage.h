#pragma once
// What the user would be told when an action fails with polyx::Error.
#include <QString>

#include <functional>

// Empty when the action succeeds; other exceptions pass through.
QString errorOf(const std::function<void()>& action);
