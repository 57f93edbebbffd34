#pragma once

#include <QString>

// A new globally unique id in the braced form
// "{%08lX-%04X-%04x-%02X%02X-%02X%02X%02X%02X%02X%02X}": upper-case hex except the third
// group, which is lower case.
QString NewGuidText();
