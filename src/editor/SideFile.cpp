#include "editor/SideFile.hpp"

#include "level/Binary.hpp"

#include <array>

namespace rux {

namespace {
// The object that owns `system`, the first in name order; null when none does.
const std::string* OwnerOf(const Level& level, const ParticleSystem* system) {
    if (!system)
        return nullptr;
    for (const auto& [name, object] : level.objects)
        if (object.particleSystem.get() == system)
            return &name;
    return nullptr;
}
} // namespace

void WriteSideFile(const Level& level, std::string& out) {
    PutStr(out, c_sideFileVersion);
    PutU32(out, static_cast<std::uint32_t>(level.objects.size()));
    for (const auto& [name, object] : level.objects) {
        if (object.type != ObjectType::ParticleSystem || !object.particleSystem)
            continue;
        const ParticleSystem& ps = *object.particleSystem;
        PutStr(out, name);
        PutU8(out, ps.continuousEmission);
        PutU8(out, ps.useBothColors);
        PutRaw(out, ps.emitDuration);
        PutU8(out, ps.useSecondaryColors);
        PutU8(out, ps.eventFlags);
        for (std::size_t i = 0; i < 3; ++i) {
            const std::string* target = OwnerOf(level, ps.eventTargets[i]);
            PutU8(out, target ? 1 : 0);
            if (target)
                PutStr(out, *target);
            PutU8(out, ps.inheritPosition[i]);
            PutU8(out, ps.inheritColor[i]);
            PutU8(out, ps.inheritLifetime[i]);
        }
    }
}

namespace {
// The side-file fields of one particle system, read into a copy so that a record naming no
// system of the level can be read past without touching anything.
struct SideFields {
    bool continuousEmission = true, useBothColors = true, useSecondaryColors = false;
    std::int64_t emitDuration = 0;
    std::uint8_t eventFlags = 0;
    std::array<ParticleSystem*, 3> eventTargets{};
    std::array<bool, 3> inheritPosition{}, inheritColor{}, inheritLifetime{};

    explicit SideFields(const ParticleSystem* ps) {
        if (!ps)
            return;
        continuousEmission = ps->continuousEmission;
        useBothColors = ps->useBothColors;
        useSecondaryColors = ps->useSecondaryColors;
        emitDuration = ps->emitDuration;
        eventFlags = ps->eventFlags;
        eventTargets = ps->eventTargets;
        inheritPosition = ps->inheritPosition;
        inheritColor = ps->inheritColor;
        inheritLifetime = ps->inheritLifetime;
    }
    void applyTo(ParticleSystem& ps) const {
        ps.continuousEmission = continuousEmission;
        ps.useBothColors = useBothColors;
        ps.useSecondaryColors = useSecondaryColors;
        ps.emitDuration = emitDuration;
        ps.eventFlags = eventFlags;
        ps.eventTargets = eventTargets;
        ps.inheritPosition = inheritPosition;
        ps.inheritColor = inheritColor;
        ps.inheritLifetime = inheritLifetime;
    }
};
} // namespace

bool ReadSideFile(Level& level, std::string_view bytes) {
    ByteReader in(bytes);
    const std::string_view version = in.str();
    if (!in.ok() || version != c_sideFileVersion)
        return false;
    const std::uint32_t objectCount = in.u32();
    for (std::uint32_t n = 0; n < objectCount && in.ok() && in.remaining() > 0; ++n) {
        const std::string name(in.str());
        if (!in.ok())
            break;
        const auto found = level.objects.find(name);
        ParticleSystem* ps = found != level.objects.end() && found->second.type == ObjectType::ParticleSystem
                                 ? found->second.particleSystem.get()
                                 : nullptr;
        SideFields f(ps);
        // A field is stored only when it was read whole.
        auto flag = [&](bool& field) {
            const std::uint8_t v = in.u8();
            if (in.ok())
                field = v != 0;
        };
        flag(f.continuousEmission);
        flag(f.useBothColors);
        const std::int64_t duration = in.i64();
        if (in.ok())
            f.emitDuration = duration;
        flag(f.useSecondaryColors);
        const std::uint8_t events = in.u8();
        if (in.ok())
            f.eventFlags = events;
        for (std::size_t i = 0; i < 3 && in.ok(); ++i) {
            if (in.u8() == 1) {
                const std::string target(in.str());
                const auto t = in.ok() ? level.objects.find(target) : level.objects.end();
                if (t != level.objects.end() && t->second.particleSystem)
                    f.eventTargets[i] = t->second.particleSystem.get();
            }
            bool position = f.inheritPosition[i], color = f.inheritColor[i], lifetime = f.inheritLifetime[i];
            flag(position);
            flag(color);
            flag(lifetime);
            f.inheritPosition[i] = position;
            f.inheritColor[i] = color;
            f.inheritLifetime[i] = lifetime;
        }
        if (ps)
            f.applyTo(*ps);
    }
    return true;
}

} // namespace rux
