#pragma once
// A report server whose code lives in a module of the program (see
// PlatformServices::LoadModule): registered under its ProgID at once, loaded
// on the first creation, so that the program starts without the server and
// the libraries it needs.
//
// The module exports, as the extern "C" function named kServerModuleEntry
// of the ServerModuleEntry type, a registration of its server under the same
// ProgID in the factory it is given; every creation after the load is the
// module's own. A module
// that cannot be loaded fails the creation with ServerUnavailable, whose
// reason says what is missing; the next creation tries the load again.

#include <QString>

#include "automation/ObjectFactory.h"
#include "platform/PlatformServices.h"

namespace velars {

// What a server module exports: registers its server in `factory`.
// `argument` is the one setting the program passes on (the Writer server's
// office program); `platform` must outlive every object the server creates.
using ServerModuleEntry = void (*)(ObjectFactory& factory, PlatformServices& platform,
                                   const QString& argument);
inline constexpr char kServerModuleEntry[] = "velars_server_module";

// Registers `progId` in `factory`, served by the module file `module`.
// `platform` loads the module and must outlive `factory`.
void RegisterModuleServer(ObjectFactory& factory, PlatformServices& platform, const QString& progId,
                          const QString& module, const QString& argument = {});

}  // namespace velars
