#include "automation/ModuleServer.h"

#include <memory>
#include <optional>

namespace velars {

void RegisterModuleServer(ObjectFactory& factory, PlatformServices& platform, const QString& progId,
                          const QString& module, const QString& argument) {
    // The module's own registration, made on the first creation.
    auto loaded = std::make_shared<std::optional<ObjectFactory>>();
    factory.Register(progId, [&platform, progId, module, argument, loaded]() -> DispatchPtr {
        if (!loaded->has_value()) {
            QString missing;
            const QFunctionPointer address = platform.LoadModule(module, kServerModuleEntry,
                                                                 missing);
            if (address == nullptr) throw ServerUnavailable(missing);
            ObjectFactory servers;
            reinterpret_cast<ServerModuleEntry>(address)(servers, platform, argument);
            loaded->emplace(std::move(servers));
        }
        DispatchPtr object;
        if (FAILED((*loaded)->CreateInstance(progId, &object))) return nullptr;
        return object;
    });
}

}  // namespace velars
