#pragma once

#include <QString>

typedef struct zip_error zip_error_t;

// The zip library's own text for an error, cut to 100 characters as the message box
// "Archiving Error" shows it.
constexpr int kZipErrorTextLimit = 100;
QString ZipErrorText(int zipErrorCode);
QString ZipErrorText(const zip_error_t* error);
