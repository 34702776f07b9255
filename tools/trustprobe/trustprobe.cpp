// The platform's own Authenticode check, for the signing test under Wine.
//   trustprobe addroot CERT.der   adds a certificate to the machine's Root store
//                                 (LOCAL_MACHINE "Root", as an administrator would)
//   trustprobe verify FILE...     one line per file: WinVerifyTrust's answer with
//                                 WINTRUST_ACTION_GENERIC_VERIFY_V2 as 0x%08X and its
//                                 name, the answer of the Authenticode chain policy
//                                 for the signer's chain it built, then the file:
//                                 "0x00000000 trusted chain 0x00000000 trusted FILE"
// Exit status: 0 when every call could be made.
#include <windows.h>
#include <wincrypt.h>
#include <softpub.h>
#include <wintrust.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::wstring Wide(const char* text) {
    std::wstring out(MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, &out[0], static_cast<int>(out.size()));
    out.resize(out.size() - 1);
    return out;
}

int AddRoot(const char* path) {
    FILE* f = std::fopen(path, "rb");
    if (!f) return std::printf("cannot open %s\n", path), 1;
    std::vector<BYTE> der(65536);
    der.resize(std::fread(der.data(), 1, der.size(), f));
    std::fclose(f);
    HCERTSTORE store = CertOpenStore(CERT_STORE_PROV_SYSTEM_A, 0, 0, CERT_SYSTEM_STORE_LOCAL_MACHINE, "Root");
    if (!store) return std::printf("CertOpenStore: 0x%08lX\n", GetLastError()), 1;
    const BOOL ok = CertAddEncodedCertificateToStore(store, X509_ASN_ENCODING, der.data(),
                                                     static_cast<DWORD>(der.size()), CERT_STORE_ADD_REPLACE_EXISTING, nullptr);
    const DWORD error = GetLastError();
    CertCloseStore(store, 0);
    if (!ok) return std::printf("CertAddEncodedCertificateToStore: 0x%08lX\n", error), 1;
    std::printf("added %s to the machine Root store\n", path);
    return 0;
}

const char* Name(LONG status) {
    switch (status) {
    case 0: return "trusted";
    case TRUST_E_BAD_DIGEST: return "TRUST_E_BAD_DIGEST";
    case TRUST_E_NOSIGNATURE: return "TRUST_E_NOSIGNATURE";
    case CERT_E_UNTRUSTEDROOT: return "CERT_E_UNTRUSTEDROOT";
    case CERT_E_CHAINING: return "CERT_E_CHAINING";
    case CERT_E_EXPIRED: return "CERT_E_EXPIRED";
    case TRUST_E_SUBJECT_NOT_TRUSTED: return "TRUST_E_SUBJECT_NOT_TRUSTED";
    default: return "other";
    }
}

struct Answer {
    LONG trust = 0;
    LONG chain = -1;  // the signer's chain under the Authenticode chain policy; -1: no chain
};

Answer Verify(const char* path) {
    const std::wstring file = Wide(path);
    WINTRUST_FILE_INFO info = {};
    info.cbStruct = sizeof info;
    info.pcwszFilePath = file.c_str();
    WINTRUST_DATA data = {};
    data.cbStruct = sizeof data;
    data.dwUIChoice = WTD_UI_NONE;
    data.fdwRevocationChecks = WTD_REVOKE_NONE;
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &info;
    data.dwStateAction = WTD_STATEACTION_VERIFY;
    data.dwProvFlags = WTD_REVOCATION_CHECK_NONE;
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    Answer a;
    a.trust = WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    // The chain WinVerifyTrust built for the signer, checked on its own: Wine 8
    // answers 0 above for any intact signature without judging its chain.
    CRYPT_PROVIDER_DATA* provider = WTHelperProvDataFromStateData(data.hWVTStateData);
    CRYPT_PROVIDER_SGNR* signer = provider ? WTHelperGetProvSignerFromChain(provider, 0, FALSE, 0) : nullptr;
    if (signer && signer->pChainContext) {
        CERT_CHAIN_POLICY_PARA para = {};
        para.cbSize = sizeof para;
        CERT_CHAIN_POLICY_STATUS status = {};
        status.cbSize = sizeof status;
        if (CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_AUTHENTICODE, signer->pChainContext, &para, &status))
            a.chain = static_cast<LONG>(status.dwError);
    }
    data.dwStateAction = WTD_STATEACTION_CLOSE;
    WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    return a;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "addroot") == 0) return AddRoot(argv[2]);
    if (argc >= 3 && std::strcmp(argv[1], "verify") == 0) {
        for (int i = 2; i < argc; ++i) {
            const Answer a = Verify(argv[i]);
            std::printf("0x%08lX %s chain ", static_cast<unsigned long>(a.trust), Name(a.trust));
            if (a.chain == -1) std::printf("none %s\n", argv[i]);
            else std::printf("0x%08lX %s %s\n", static_cast<unsigned long>(a.chain), Name(a.chain), argv[i]);
        }
        return 0;
    }
    std::printf("usage: trustprobe addroot CERT.der | verify FILE...\n");
    return 2;
}
