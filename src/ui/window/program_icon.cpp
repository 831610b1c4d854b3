#include "ui/window/program_icon.h"

// The resources are linked in from a static library, so they must be registered by hand.
static void initProgramResources()
{
    Q_INIT_RESOURCE(vellumar);
}

namespace vellumar {

QIcon programIcon()
{
    initProgramResources();
    return QIcon(QStringLiteral(":/vellumar/vellumar.png"));
}

}  // namespace vellumar
