#include "components/graphics/ComponentVersion.h"

String VersionText(int VersionNr) {
    const auto V = static_cast<unsigned>(VersionNr);
    return QStringLiteral("%1.%2.%3.%4").arg(V >> 24).arg((V >> 16) & 0xFF).arg((V >> 8) & 0xFF).arg(V & 0xFF);
}
