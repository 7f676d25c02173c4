#include "UserEnvironment.h"
#include "platform/qt/QtPlatform.h"

namespace {

const QProcessEnvironment &kept()
{
    static const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    return environment;
}

} // namespace

void keepUserEnvironment()
{
    kept();
}

const QProcessEnvironment &userEnvironment()
{
    return kept();
}
