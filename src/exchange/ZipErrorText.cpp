#include "exchange/ZipErrorText.h"

#include <zip.h>

QString ZipErrorText(const zip_error_t* error)
{
    // zip_error_strerror() caches its text inside the error, so it needs a mutable one.
    zip_error_t copy;
    zip_error_init(&copy);
    zip_error_set(&copy, zip_error_code_zip(error), zip_error_code_system(error));
    const QString text = QString::fromLocal8Bit(zip_error_strerror(&copy)).left(kZipErrorTextLimit);
    zip_error_fini(&copy);
    return text;
}

QString ZipErrorText(int zipErrorCode)
{
    zip_error_t error;
    zip_error_init_with_code(&error, zipErrorCode);
    const QString text = ZipErrorText(&error);
    zip_error_fini(&error);
    return text;
}
