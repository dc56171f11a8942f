#pragma once
// Where a replaceable service of the platform layer is installed: the
// program runs on the real one, tests put their own in its place.

namespace platform {

template <class Service>
class ServiceSlot {
public:
    // The installed service, or the fallback when none is installed.
    static Service& get(Service& fallback) { return s_installed ? *s_installed : fallback; }
    // nullptr goes back to the fallback. Not owned.
    static void set(Service* service) { s_installed = service; }

private:
    static inline Service* s_installed = nullptr;
};

} // namespace platform
