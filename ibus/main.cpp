// lekhora-ibus: the Lekhora input method for IBus. Started by the daemon with
// --ibus it claims the component's bus name; started by hand it registers the
// component itself, so it can be tried without installing anything.

#include <ibus.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "base/program_folder.h"
#include "ibus/lekhora_engine.h"
#include "ime/engine_names.h"

namespace {

constexpr const char* kBusName = "org.freedesktop.IBus.Lekhora";

IBusComponent* Component() {
  IBusComponent* component = ibus_component_new(kBusName, "Lekhora input method", LEKHORA_VERSION,
                                                "GPL", "Lekhora", "", "", "lekhora");
  for (const lekhora::EngineName& e : lekhora::kEngines) {
    const std::string icon =
        (lekhora::ProgramFolder() / "icons" / (std::string(e.name) + ".svg")).string();
    ibus_component_add_engine(
        component, ibus_engine_desc_new_varargs(
                       "name", e.name, "longname", e.longName, "description",
                       "Hindi typing with Lekhora's layouts and word suggestions", "language", "hi",
                       "license", "GPL", "author", "Lekhora", "icon", icon.c_str(), "layout", "us",
                       "symbol", e.symbol, nullptr));
  }
  return component;
}

void Quit(IBusBus*, gpointer) {
  ibus_quit();
}

}  // namespace

int main(int argc, char** argv) {
  bool byDaemon = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--ibus") == 0) {
      byDaemon = true;
    } else if (std::strcmp(argv[i], "--data") == 0 && i + 1 < argc) {
      lekhora::SetEngineDataFolder(argv[++i]);
    } else if (std::strcmp(argv[i], "--help") == 0) {
      std::printf(
          "Usage: lekhora-ibus [--ibus] [--data FOLDER]\n"
          "The Lekhora input method engine for IBus.\n"
          "  --ibus         started by ibus-daemon from the component file\n"
          "  --data FOLDER  read the word lists from FOLDER instead of the program's own\n");
      return 0;
    } else {
      std::fprintf(stderr, "lekhora-ibus: unknown option %s\n", argv[i]);
      return 2;
    }
  }

  ibus_init();
  IBusBus* bus = ibus_bus_new();
  if (!ibus_bus_is_connected(bus)) {
    std::fprintf(stderr, "lekhora-ibus: cannot connect to the IBus daemon\n");
    return 1;
  }
  g_signal_connect(bus, "disconnected", G_CALLBACK(Quit), nullptr);

  IBusFactory* factory = ibus_factory_new(ibus_bus_get_connection(bus));
  for (const lekhora::EngineName& e : lekhora::kEngines)
    ibus_factory_add_engine(factory, e.name, LEKHORA_TYPE_ENGINE);

  if (byDaemon) {
    ibus_bus_request_name(bus, kBusName, 0);
  } else {
    ibus_bus_register_component(bus, Component());
  }
  ibus_main();
  return 0;
}
