#include "ip_address.h"

#include <gtest/gtest.h>
#include <string>

namespace lullex {
namespace {

struct AddressCase {
    std::string text;
    bool partnerAddress;  // IsIPAddress
    bool strictAddress;   // IsStrictIPAddress
};

void PrintTo(const AddressCase& address, std::ostream* out)
{
    *out << '"' << address.text << '"';
}

class AddressCheck : public testing::TestWithParam<AddressCase> {};

TEST_P(AddressCheck, AcceptsOnlyDottedAddressesInRange)
{
    EXPECT_EQ(IsIPAddress(GetParam().text), GetParam().partnerAddress) << GetParam().text;
    EXPECT_EQ(IsStrictIPAddress(GetParam().text), GetParam().strictAddress) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, AddressCheck,
    testing::Values(AddressCase{"1.2.3.4", true, true}, AddressCase{"255.255.255.255", true, true},
                    AddressCase{"001.002.003.004", true, true},
                    AddressCase{"0000000001.1.1.1", true, true},
                    // A 0 part after the first: the usual home and office networks.
                    AddressCase{"10.0.0.1", true, false}, AddressCase{"192.168.0.10", true, false},
                    AddressCase{"192.168.1.0", true, false}, AddressCase{"1.0.0.0", true, false},
                    AddressCase{"10.000.0.1", true, false},
                    // The first part is never 0.
                    AddressCase{"0.1.2.3", false, false}, AddressCase{"000.1.2.3", false, false},
                    AddressCase{"0.0.0.0", false, false}, AddressCase{"1.2.3.256", false, false},
                    AddressCase{"256.1.1.1", false, false}, AddressCase{"1.2.3", false, false},
                    AddressCase{"1.2.3.4.5", false, false}, AddressCase{".1.2.3", false, false},
                    AddressCase{"1.2.3.4.", false, false}, AddressCase{"1..2.3", false, false},
                    AddressCase{"1.2.3.", false, false}, AddressCase{"...", false, false},
                    AddressCase{"", false, false}, AddressCase{" 1.2.3.4", false, false},
                    AddressCase{"1.2.3.4 ", false, false}, AddressCase{"+1.2.3.4", false, false},
                    AddressCase{"1.2.3.-4", false, false}, AddressCase{"1.2.3.a", false, false},
                    AddressCase{"lullex.example", false, false},
                    AddressCase{"1.2.3.99999999999", false, false},
                    AddressCase{"1.2.3.2147483648", false, false},
                    AddressCase{"1.2.3.00000000000000000255", true, true}));

}  // namespace
}  // namespace lullex
