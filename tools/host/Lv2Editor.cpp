// An LV2 plug-in's X11 UI embedded as hosts do it: its binary opened, instantiated in the
// host's window with ui:parent, ui:touch, ui:resize and the URID features, told every
// control's value through port_event (the meters after each idle), and driven by its
// ui:idleInterface.
#include <lv2/ui/ui.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "tools/host/Lv2StereoPlugin.h"
#include "tools/host/SharedLibrary.h"

namespace vsthost {

namespace {

// Until a UI says its size, the host's window takes this one.
constexpr int kFirstWidth = 1000, kFirstHeight = 700;

std::string pathOf(const LilvNode* uri) {
    char* path = lilv_file_uri_parse(lilv_node_as_uri(uri), nullptr);
    std::string result = path ? path : "";
    lilv_free(path);
    return result;
}

class Lv2Editor final : public PluginEditor {
public:
    Lv2Editor(Lv2StereoPlugin& plugin, std::unique_ptr<SharedLibrary> library, const LV2UI_Descriptor* descriptor,
              std::string bundle)
        : plugin(plugin), library(std::move(library)), descriptor(descriptor), bundle(std::move(bundle)),
          sent(plugin.portCount(), NAN) {}
    ~Lv2Editor() override {
        if (handle) descriptor->cleanup(handle);
    }

    int width() const override { return size[0]; }
    int height() const override { return size[1]; }
    bool open(uintptr_t parent) override {
        LV2UI_Widget widget = nullptr;
        const LV2_Feature* const* features = plugin.uiFeatures(reinterpret_cast<void*>(parent), &resize);
        const std::string uri = lilv_node_as_uri(lilv_plugin_get_uri(plugin.plugin()));
        handle = descriptor->instantiate(descriptor, uri.c_str(), bundle.c_str(), &Lv2Editor::write, this, &widget,
                                         features);
        if (!handle) return false;
        if (descriptor->extension_data)
            idleInterface = static_cast<const LV2UI_Idle_Interface*>(descriptor->extension_data(LV2_UI__idleInterface));
        tell();
        return true;
    }
    void idle(bool) override {
        if (!handle) return;
        tell();
        if (idleInterface) idleInterface->idle(handle);
    }
    bool key(bool, int, int, int) override { return false; }

private:
    // port_event for each control whose value changed since it was last told.
    void tell() {
        if (!descriptor->port_event) return;
        for (uint32_t port = 0; port < plugin.portCount(); ++port) {
            if (!plugin.isControl(port)) continue;
            const float value = plugin.portValue(port);
            if (value == sent[port]) continue;
            sent[port] = value;
            descriptor->port_event(handle, port, sizeof value, 0, &value);
        }
    }
    static void write(LV2UI_Controller controller, uint32_t port, uint32_t size, uint32_t protocol, const void* buffer) {
        if (protocol != 0 || size != sizeof(float) || !buffer) return;
        auto& self = *static_cast<Lv2Editor*>(controller);
        float value;
        std::memcpy(&value, buffer, sizeof value);
        self.sent[port] = value;  // the UI knows it already
        self.plugin.uiWrite(port, value);
    }

    Lv2StereoPlugin& plugin;
    std::unique_ptr<SharedLibrary> library;
    const LV2UI_Descriptor* descriptor;
    std::string bundle;
    LV2UI_Handle handle = nullptr;
    const LV2UI_Idle_Interface* idleInterface = nullptr;
    std::vector<float> sent;
    int size[2] = {kFirstWidth, kFirstHeight};
    LV2UI_Resize resize{this, [](LV2UI_Feature_Handle self, int width, int height) {
                            static_cast<Lv2Editor*>(self)->size[0] = width;
                            static_cast<Lv2Editor*>(self)->size[1] = height;
                            return 0;
                        }};
};

}  // namespace

std::unique_ptr<PluginEditor> Lv2StereoPlugin::createEditor() {
    LilvUIs* uis = lilv_plugin_get_uis(plugin_);
    LilvNode* x11 = lilv_new_uri(world_, LV2_UI__X11UI);
    std::unique_ptr<PluginEditor> editor;
    LILV_FOREACH (uis, i, uis) {
        const LilvUI* ui = lilv_uis_get(uis, i);
        if (!lilv_ui_is_a(ui, x11)) continue;
        auto library = std::make_unique<SharedLibrary>(pathOf(lilv_ui_get_binary_uri(ui)));
        using Entry = const LV2UI_Descriptor* (*)(uint32_t);
        const auto entry = reinterpret_cast<Entry>(library->symbol("lv2ui_descriptor"));
        if (!entry) continue;
        const std::string uri = lilv_node_as_uri(lilv_ui_get_uri(ui));
        for (uint32_t index = 0; const LV2UI_Descriptor* descriptor = entry(index); ++index) {
            if (!descriptor->URI || uri != descriptor->URI) continue;
            editor = std::make_unique<Lv2Editor>(*this, std::move(library), descriptor, pathOf(lilv_ui_get_bundle_uri(ui)));
            break;
        }
        if (editor) break;
    }
    lilv_node_free(x11);
    lilv_uis_free(uis);
    return editor;
}

}  // namespace vsthost
