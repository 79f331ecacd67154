// ErrorOffsets: the bases of the suite's blocks of error codes, one block of
// 100 codes per component; the first is this library's own.
#pragma once

#include <cstdint>

namespace corvane {

enum ErrorOffsets : std::int32_t {
  cvCorvaneError = -2147221504,       // 0x80040000
  cvProcurementError = -2147221404,   // 0x80040064
  cvSalesError = -2147221304,         // 0x800400C8
  cvProjectError = -2147221204,       // 0x8004012C
  cvCatalogError = -2147221104,       // 0x80040190
  cvMembershipError = -2147221004,    // 0x800401F4
  cvWorkflowError = -2147220904,      // 0x80040258
  cvPricingError = -2147220804,       // 0x800402BC
  cvInventoryError = -2147220704,     // 0x80040320
  cvBillingError = -2147220604,       // 0x80040384
  cvReportingError = -2147220504,     // 0x800403E8
  cvIntegrationError = -2147220404,   // 0x8004044C
};

}  // namespace corvane
