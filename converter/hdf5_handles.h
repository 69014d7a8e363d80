#pragma once
// Owning handles for HDF5 identifiers, and a check that turns a failed call into an
// exception naming what was being written.
#include <hdf5.h>

#include <string>
#include <utility>

#include "platform/errors.h"

namespace brenlow {

template <herr_t (*Release)(hid_t)>
class Handle {
 public:
  Handle() = default;
  explicit Handle(hid_t id, const std::string& what) : id_(id) {
    if (id_ < 0) throw ordwell::FileError("HDF5 could not create " + what);
  }
  ~Handle() {
    if (id_ >= 0) Release(id_);
  }
  Handle(Handle&& other) noexcept : id_(std::exchange(other.id_, -1)) {}
  Handle& operator=(Handle&& other) noexcept {
    std::swap(id_, other.id_);
    return *this;
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  hid_t get() const { return id_; }
  // Closes now and reports a failure (the last close flushes the file).
  void Finish(const std::string& what) {
    hid_t id = std::exchange(id_, -1);
    if (id >= 0 && Release(id) < 0) throw ordwell::FileError("HDF5 could not finish " + what);
  }

 private:
  hid_t id_ = -1;
};

using FileHandle = Handle<H5Fclose>;
using GroupHandle = Handle<H5Gclose>;
using DatasetHandle = Handle<H5Dclose>;
using SpaceHandle = Handle<H5Sclose>;
using TypeHandle = Handle<H5Tclose>;

inline void Check(herr_t status, const std::string& what) {
  if (status < 0) throw ordwell::FileError("HDF5 could not write " + what);
}

}  // namespace brenlow
