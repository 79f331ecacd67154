#include "crypto/KeyTable.h"

namespace corvane {
namespace {

// Values written by every installation depend on these texts: never change them.
constexpr std::array<std::string_view, kCryptKeyCount> kKeys{
    "5C3A90D7E21B4f07B6D1093C6F2B71D9", "0D8E6B2F74A34c19A0E5F6B7C3D29481",
    "B41F07E9C6D24a5e9F3B80A1D75E6C02", "7E2C95A0B3F84d61C8A4E0F91B6D3A57",
    "93D6A18F0C5E4b2aA7F3D9E2048B1C6F", "2A7F4E0B9D164e8cB05A3C7E91F6D284",
    "E0B5C93A174D4f36D82E6A0F5C1B97D3", "48C1E7F2A09B4a73E6D50B8C2F3A1E96",
    "F37D0A6C85E14c9bA4B2E7D06C9F3518", "6B9E2D48F1A74d05C3F8A6E1D0B4297C",
};

}  // namespace

const std::array<std::string_view, kCryptKeyCount>& CryptKeyTable() noexcept { return kKeys; }

}  // namespace corvane
