// The Writer server as a module of the program (automation/ModuleServer.h),
// which the program loads on the first report. Only this module reaches
// into LibreOffice's program folder for the UNO runtime.

#include <type_traits>

#include "automation/ModuleServer.h"
#include "writer/WriterServer.h"

extern "C" __attribute__((visibility("default"))) void velars_server_module(
    velars::ObjectFactory& factory, velars::PlatformServices&, const QString& office) {
    velars::OfficeOptions options;
    options.program = office;
    velars::RegisterWriterServer(factory, std::move(options));
}

static_assert(std::is_same_v<decltype(&velars_server_module), velars::ServerModuleEntry>);
