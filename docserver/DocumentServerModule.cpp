// The document server as a module of the program (automation/ModuleServer.h),
// which the program loads on the first report.

#include <type_traits>

#include "automation/ModuleServer.h"
#include "docserver/DocumentServer.h"

extern "C" __attribute__((visibility("default"))) void velars_server_module(
    velars::ObjectFactory& factory, velars::PlatformServices& platform, const QString&) {
    velars::RegisterDocumentServer(factory, platform);
}

static_assert(std::is_same_v<decltype(&velars_server_module), velars::ServerModuleEntry>);
