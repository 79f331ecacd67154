// Speed of the string encryption: values through the cached key schedules
// against a full key schedule per operation, and bulk CBC throughput against
// OpenSSL's Blowfish where it is available.
#include "crypto/Crypt.h"
#include "crypto/Lib_Crypt.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#if defined(CORVANE_HAVE_OPENSSL)
// The low-level Blowfish interface is deprecated in OpenSSL 3 but still the
// closest equal of a plain CBC pass over a buffer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <openssl/blowfish.h>
#endif

namespace {

const std::string kText32(32, 'v');  // a 32-byte value
constexpr std::size_t kBulkBytes = 1 << 20;

void BM_ValueRoundTrip_CachedSchedule(benchmark::State& state) {
  for (auto _ : state) {
    const std::string value = corvane::Crypt_EncryptWithKeyIndex(kText32, 5);
    benchmark::DoNotOptimize(corvane::Crypt_DecryptWithIndex(value));
  }
}
BENCHMARK(BM_ValueRoundTrip_CachedSchedule);

// The same operations, each on a new Crypt that runs the whole key schedule.
void BM_ValueRoundTrip_FullSchedule(benchmark::State& state) {
  const std::string key = corvane::Crypt_GetKey(5);
  for (auto _ : state) {
    const std::string value = "05" + corvane::Crypt().EncryptString(kText32, key);
    benchmark::DoNotOptimize(corvane::Crypt().DecryptString(value.substr(2), key));
  }
}
BENCHMARK(BM_ValueRoundTrip_FullSchedule);

void BM_EncryptBytes_1MiB(benchmark::State& state) {
  corvane::Crypt crypt;
  crypt.SetKey(corvane::Crypt_GetKey(0));
  const corvane::Crypt::Bytes input(kBulkBytes, 0x5A);
  corvane::Crypt::Bytes bytes;
  bytes.reserve(kBulkBytes + 16);  // room for the frame header, as OpenSSL gets its output buffer
  for (auto _ : state) {
    bytes.assign(input.begin(), input.end());
    crypt.p_EncryptBytes(bytes, "");
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kBulkBytes));
}
BENCHMARK(BM_EncryptBytes_1MiB);

#if defined(CORVANE_HAVE_OPENSSL)
void BM_OpenSslBlowfishCbc_1MiB(benchmark::State& state) {
  const std::string key = corvane::Crypt_GetKey(0);
  BF_KEY schedule;
  BF_set_key(&schedule, static_cast<int>(key.size()),
             reinterpret_cast<const unsigned char*>(key.data()));
  const std::vector<unsigned char> input(kBulkBytes, 0x5A);
  std::vector<unsigned char> output(kBulkBytes);
  for (auto _ : state) {
    unsigned char iv[8] = {};
    BF_cbc_encrypt(input.data(), output.data(), static_cast<long>(input.size()), &schedule, iv,
                   BF_ENCRYPT);
    benchmark::DoNotOptimize(output.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kBulkBytes));
}
BENCHMARK(BM_OpenSslBlowfishCbc_1MiB);
#pragma GCC diagnostic pop
#endif

}  // namespace

BENCHMARK_MAIN();
