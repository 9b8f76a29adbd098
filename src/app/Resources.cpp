#include "app/Resources.h"

#include <QtGlobal>

static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

void loadResources()
{
    static const bool loaded = (initResources(), true);
    (void)loaded;
}
