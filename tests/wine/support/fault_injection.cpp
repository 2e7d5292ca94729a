#include "fault_injection.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace {

using entry_point = BOOL(WINAPI*)(HINSTANCE, DWORD, LPVOID);

template <class T>
T* at_rva(HMODULE module, DWORD rva) {
  return reinterpret_cast<T*>(reinterpret_cast<unsigned char*>(module) + rva);
}

const IMAGE_NT_HEADERS* headers_of(HMODULE module) {
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(module);
  return at_rva<const IMAGE_NT_HEADERS>(module, static_cast<DWORD>(dos->e_lfanew));
}

const IMAGE_DATA_DIRECTORY& directory(HMODULE module, int index) {
  return headers_of(module)->OptionalHeader.DataDirectory[index];
}

void* replacement_for(const std::vector<import_replacement>& replacements, const char* dll, const char* function) {
  for (const import_replacement& r : replacements) {
    if (lstrcmpiA(r.dll, dll) == 0 && std::strcmp(r.function, function) == 0) return r.address;
  }
  return nullptr;
}

void write_slot(ULONG_PTR* slot, ULONG_PTR value) {
  DWORD old = 0;
  VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old);
  *slot = value;
  VirtualProtect(slot, sizeof *slot, old, &old);
}

// Walks the import table: for each entry, `bind` gets the DLL's name, the
// function's name (null when imported by ordinal), the ordinal and the slot.
template <class Bind>
void for_each_import(HMODULE module, Bind bind) {
  const IMAGE_DATA_DIRECTORY& imports = directory(module, IMAGE_DIRECTORY_ENTRY_IMPORT);
  if (imports.VirtualAddress == 0) return;
  for (auto* d = at_rva<IMAGE_IMPORT_DESCRIPTOR>(module, imports.VirtualAddress); d->Name != 0; ++d) {
    const char* dll = at_rva<const char>(module, d->Name);
    auto* names = at_rva<IMAGE_THUNK_DATA>(module, d->OriginalFirstThunk != 0 ? d->OriginalFirstThunk : d->FirstThunk);
    auto* slots = at_rva<IMAGE_THUNK_DATA>(module, d->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      auto* slot = reinterpret_cast<ULONG_PTR*>(&slots->u1.Function);
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
        bind(dll, nullptr, static_cast<WORD>(IMAGE_ORDINAL(names->u1.Ordinal)), slot);
      } else {
        const auto* by_name = at_rva<const IMAGE_IMPORT_BY_NAME>(module, static_cast<DWORD>(names->u1.AddressOfData));
        bind(dll, reinterpret_cast<const char*>(by_name->Name), WORD{0}, slot);
      }
    }
  }
}

void run_tls_callbacks(HMODULE module, DWORD reason) {
  const IMAGE_DATA_DIRECTORY& tls = directory(module, IMAGE_DIRECTORY_ENTRY_TLS);
  if (tls.VirtualAddress == 0) return;
  const auto* dir = at_rva<const IMAGE_TLS_DIRECTORY>(module, tls.VirtualAddress);
  if (dir->AddressOfCallBacks == 0) return;
  for (auto* cb = reinterpret_cast<PIMAGE_TLS_CALLBACK*>(static_cast<uintptr_t>(dir->AddressOfCallBacks)); *cb != nullptr;
       ++cb) {
    (*cb)(module, reason, nullptr);
  }
}

entry_point entry_of(HMODULE module) {
  const DWORD rva = headers_of(module)->OptionalHeader.AddressOfEntryPoint;
  return rva == 0 ? nullptr : reinterpret_cast<entry_point>(at_rva<void>(module, rva));
}

}  // namespace

int replace_imports(HMODULE module, const std::vector<import_replacement>& replacements) {
  int replaced = 0;
  for_each_import(module, [&](const char* dll, const char* function, WORD, ULONG_PTR* slot) {
    if (function == nullptr) return;
    if (void* address = replacement_for(replacements, dll, function)) {
      write_slot(slot, reinterpret_cast<ULONG_PTR>(address));
      ++replaced;
    }
  });
  return replaced;
}

HMODULE load_with_imports(const std::string& path, const std::vector<import_replacement>& replacements) {
  HMODULE module = LoadLibraryExA(path.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
  if (module == nullptr) throw std::runtime_error("cannot map " + path);
  for_each_import(module, [&](const char* dll, const char* function, WORD ordinal, ULONG_PTR* slot) {
    void* address = function != nullptr ? replacement_for(replacements, dll, function) : nullptr;
    if (address == nullptr) {
      HMODULE from = LoadLibraryA(dll);
      if (from == nullptr) throw std::runtime_error(std::string("cannot load ") + dll);
      address = reinterpret_cast<void*>(
          GetProcAddress(from, function != nullptr ? function : MAKEINTRESOURCEA(ordinal)));
      if (address == nullptr) throw std::runtime_error(std::string("no import ") + (function ? function : "#"));
    }
    write_slot(slot, reinterpret_cast<ULONG_PTR>(address));
  });
  run_tls_callbacks(module, DLL_PROCESS_ATTACH);
  entry_point entry = entry_of(module);
  if (entry != nullptr && !entry(module, DLL_PROCESS_ATTACH, nullptr)) {
    FreeLibrary(module);
    return nullptr;
  }
  return module;
}

void unload_with_imports(HMODULE module) {
  if (module == nullptr) return;
  if (entry_point entry = entry_of(module)) entry(module, DLL_PROCESS_DETACH, nullptr);
  run_tls_callbacks(module, DLL_PROCESS_DETACH);
  FreeLibrary(module);
}

namespace alloc_faults {

long calls = 0;
long refuse_from = 0;
long refuse_to = 0;

namespace {

bool refuse() {
  ++calls;
  return refuse_from != 0 && calls >= refuse_from && calls <= refuse_to;
}

template <class F>
F from_crt(const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("msvcrt.dll"), name)));
}

void* __cdecl counted_malloc(size_t size) {
  static auto real = from_crt<void*(__cdecl*)(size_t)>("malloc");
  if (refuse()) {
    errno = ENOMEM;
    return nullptr;
  }
  return real(size);
}

void* __cdecl counted_calloc(size_t count, size_t size) {
  static auto real = from_crt<void*(__cdecl*)(size_t, size_t)>("calloc");
  if (refuse()) {
    errno = ENOMEM;
    return nullptr;
  }
  return real(count, size);
}

void* __cdecl counted_realloc(void* block, size_t size) {
  static auto real = from_crt<void*(__cdecl*)(void*, size_t)>("realloc");
  if (refuse()) {
    errno = ENOMEM;
    return nullptr;  // the block stays as it was
  }
  return real(block, size);
}

HLOCAL WINAPI counted_local_alloc(UINT flags, SIZE_T size) {
  if (refuse()) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  return LocalAlloc(flags, size);
}

}  // namespace

const std::vector<import_replacement>& replacements() {
  static const std::vector<import_replacement> list = {
      {"msvcrt.dll", "malloc", reinterpret_cast<void*>(counted_malloc)},
      {"msvcrt.dll", "calloc", reinterpret_cast<void*>(counted_calloc)},
      {"msvcrt.dll", "realloc", reinterpret_cast<void*>(counted_realloc)},
      {"KERNEL32.dll", "LocalAlloc", reinterpret_cast<void*>(counted_local_alloc)},
  };
  return list;
}

}  // namespace alloc_faults
