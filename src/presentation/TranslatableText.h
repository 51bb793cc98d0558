#pragma once
// Marks a source text for Qt's lupdate in code without Qt; it expands to the text itself, which
// the GUI translates with QCoreApplication::translate(context, text). Include it from .cpp files
// only, so that it never meets Qt's own definition of the macro.
#define QT_TRANSLATE_NOOP(context, text) text
