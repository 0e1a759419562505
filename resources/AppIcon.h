#pragma once

#include <QIcon>

namespace resources {

QIcon appIcon();

} // namespace resources
