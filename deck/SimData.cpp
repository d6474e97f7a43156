#include "deck/SimData.h"

#include <algorithm>

#include "ui/FormHookfast.h"

namespace hf {

double DecodeLatitude(std::uint32_t lo, std::int32_t hi) {
    return hi * LatitudeScale + lo * LatitudeScale / FractionDivisor;
}

double DecodeLongitude(std::uint32_t lo, std::int32_t hi) {
    return hi * AngleScale + lo * AngleScale / FractionDivisor;
}

double DecodeAltitude(std::uint32_t lo, std::int32_t hi) {
    return lo / FractionDivisor + hi;
}

double DecodeAngle(std::int32_t raw) { return raw * AngleScale; }

double DecodeMagVar(std::int16_t raw) { return raw * 360.0 / 65536.0; }

double MagneticHeading(double trueHeading, double magVar) {
    double heading = trueHeading - magVar;
    if (heading < 0.0) heading += 360.0;
    return heading;
}

double HeightAboveGround(double altitudeMetres, std::int16_t groundMetres) {
    return altitudeMetres - groundMetres;
}

std::array<char, 128> MessageBlock(std::string_view text) {
    std::array<char, 128> block{};
    const std::size_t length = std::min(text.size(), MessageTextLimit);
    std::copy_n(text.begin(), length, block.begin());
    return block;
}

void TFormMain::ShowSimMessage(std::string_view text, std::int16_t seconds) {
    SendSimMessage(text, seconds);
}

std::uint32_t TFormMain::SendSimMessage(std::string_view text, std::int16_t seconds) {
    const std::array<char, 128> block = MessageBlock(text);
    std::uint32_t code = LinkOk;
    if (!LinkWrite(offsets::MessageText, static_cast<std::uint32_t>(block.size()), block.data(),
                   code)) {
        return code;
    }
    if (!LinkWrite(offsets::MessageSeconds, sizeof seconds, &seconds, code)) return code;
    LinkProcess(code);
    return code;
}

}  // namespace hf
