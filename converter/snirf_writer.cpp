#include "converter/snirf_writer.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <vector>

#include "converter/hdf5_handles.h"

namespace brenlow {
namespace {

// What the readers demand: scalar variable-length UTF-8 strings, scalar 32-bit
// integers, float64 arrays.
class Writer {
 public:
  explicit Writer(hid_t location) : location_(location) {}

  void String(const char* name, const std::string& value) const {
    TypeHandle type(H5Tcopy(H5T_C_S1), "a string type");
    Check(H5Tset_size(type.get(), H5T_VARIABLE), name);
    Check(H5Tset_cset(type.get(), H5T_CSET_UTF8), name);
    SpaceHandle space(H5Screate(H5S_SCALAR), name);
    DatasetHandle ds(H5Dcreate2(location_, name, type.get(), space.get(), H5P_DEFAULT, H5P_DEFAULT, H5P_DEFAULT), name);
    const char* text = value.c_str();
    Check(H5Dwrite(ds.get(), type.get(), H5S_ALL, H5S_ALL, H5P_DEFAULT, &text), name);
  }

  void Strings(const char* name, const std::vector<std::string>& values) const {
    TypeHandle type(H5Tcopy(H5T_C_S1), "a string type");
    Check(H5Tset_size(type.get(), H5T_VARIABLE), name);
    Check(H5Tset_cset(type.get(), H5T_CSET_UTF8), name);
    hsize_t dims[1] = {values.size()};
    SpaceHandle space(H5Screate_simple(1, dims, nullptr), name);
    DatasetHandle ds(H5Dcreate2(location_, name, type.get(), space.get(), H5P_DEFAULT, H5P_DEFAULT, H5P_DEFAULT), name);
    std::vector<const char*> texts;
    for (const auto& v : values) texts.push_back(v.c_str());
    Check(H5Dwrite(ds.get(), type.get(), H5S_ALL, H5S_ALL, H5P_DEFAULT, texts.data()), name);
  }

  void Int(const char* name, int value) const {
    SpaceHandle space(H5Screate(H5S_SCALAR), name);
    DatasetHandle ds(H5Dcreate2(location_, name, H5T_STD_I32LE, space.get(), H5P_DEFAULT, H5P_DEFAULT, H5P_DEFAULT), name);
    int32_t v = value;
    Check(H5Dwrite(ds.get(), H5T_NATIVE_INT32, H5S_ALL, H5S_ALL, H5P_DEFAULT, &v), name);
  }

  void Double(const char* name, double value) const {
    SpaceHandle space(H5Screate(H5S_SCALAR), name);
    DatasetHandle ds(H5Dcreate2(location_, name, H5T_IEEE_F64LE, space.get(), H5P_DEFAULT, H5P_DEFAULT, H5P_DEFAULT), name);
    Check(H5Dwrite(ds.get(), H5T_NATIVE_DOUBLE, H5S_ALL, H5S_ALL, H5P_DEFAULT, &value), name);
  }

  void Doubles(const char* name, const std::vector<double>& values, hsize_t rows, hsize_t columns) const {
    hsize_t dims[2] = {rows, columns};
    SpaceHandle space(H5Screate_simple(columns == 0 ? 1 : 2, dims, nullptr), name);
    DatasetHandle ds(H5Dcreate2(location_, name, H5T_IEEE_F64LE, space.get(), H5P_DEFAULT, H5P_DEFAULT, H5P_DEFAULT), name);
    if (!values.empty()) Check(H5Dwrite(ds.get(), H5T_NATIVE_DOUBLE, H5S_ALL, H5S_ALL, H5P_DEFAULT, values.data()), name);
  }
  void Vector(const char* name, const std::vector<double>& values) const { Doubles(name, values, values.size(), 0); }
  void Matrix(const char* name, const Points& p) const { Doubles(name, p.values, p.rows(), p.columns); }

 private:
  hid_t location_;
};

GroupHandle Group(hid_t parent, const std::string& name) {
  return GroupHandle(H5Gcreate2(parent, name.c_str(), H5P_DEFAULT, H5P_DEFAULT, H5P_DEFAULT), "group " + name);
}

void WriteMetaData(hid_t nirs, const MetaData& m) {
  GroupHandle g = Group(nirs, "metaDataTags");
  Writer w(g.get());
  w.String("SubjectID", m.SubjectID);
  w.String("MeasurementDate", m.MeasurementDate);
  w.String("MeasurementTime", m.MeasurementTime);
  w.String("LengthUnit", m.LengthUnit);
  w.String("TimeUnit", m.TimeUnit);
  w.String("FrequencyUnit", m.FrequencyUnit);
}

void WriteMeasurement(hid_t data, size_t k, const MeasurementEntry& e) {
  GroupHandle g = Group(data, "measurementList" + std::to_string(k));
  Writer w(g.get());
  w.Int("sourceIndex", e.sourceIndex);
  w.Int("detectorIndex", e.detectorIndex);
  w.Int("wavelengthIndex", e.wavelengthIndex);
  if (e.wavelengthActual) w.Double("wavelengthActual", *e.wavelengthActual);
  if (e.wavelengthEmissionActual) w.Double("wavelengthEmissionActual", *e.wavelengthEmissionActual);
  w.Int("dataType", e.dataType);
  if (e.dataUnit) w.String("dataUnit", *e.dataUnit);
  if (e.dataTypeLabel) w.String("dataTypeLabel", *e.dataTypeLabel);
  w.Int("dataTypeIndex", e.dataTypeIndex);
  if (e.sourcePower) w.Double("sourcePower", *e.sourcePower);
  if (e.detectorGain) w.Double("detectorGain", *e.detectorGain);
  if (e.moduleIndex) w.Int("moduleIndex", *e.moduleIndex);
  if (e.sourceModuleIndex) w.Int("sourceModuleIndex", *e.sourceModuleIndex);
  if (e.detectorModuleIndex) w.Int("detectorModuleIndex", *e.detectorModuleIndex);
}

// Writes each block of rows into its place in dataTimeSeries as data.csv is read.
class DataSeriesSink : public DataRowSink {
 public:
  DataSeriesSink(hid_t dataset, hid_t fileSpace, size_t columns)
      : dataset_(dataset), fileSpace_(fileSpace), columns_(columns) {}
  void Rows(size_t firstRow, size_t rowCount, const double* values) override {
    hsize_t start[2] = {firstRow, 0};
    hsize_t count[2] = {rowCount, columns_};
    Check(H5Sselect_hyperslab(fileSpace_, H5S_SELECT_SET, start, nullptr, count, nullptr), "dataTimeSeries");
    SpaceHandle memory(H5Screate_simple(2, count, nullptr), "dataTimeSeries");
    Check(H5Dwrite(dataset_, H5T_NATIVE_DOUBLE, memory.get(), fileSpace_, H5P_DEFAULT, values), "dataTimeSeries");
  }

 private:
  hid_t dataset_, fileSpace_;
  hsize_t columns_;
};

void WriteData(hid_t nirs, const IntermediateSet& set) {
  GroupHandle g = Group(nirs, "data1");
  hsize_t dims[2] = {set.time.size(), set.entries.size()};
  SpaceHandle space(H5Screate_simple(2, dims, nullptr), "dataTimeSeries");
  DatasetHandle series(
      H5Dcreate2(g.get(), "dataTimeSeries", H5T_IEEE_F64LE, space.get(), H5P_DEFAULT, H5P_DEFAULT, H5P_DEFAULT),
      "dataTimeSeries");
  DataSeriesSink sink(series.get(), space.get(), set.entries.size());
  StreamDataRows(set, sink);
  Writer(g.get()).Vector("time", set.time);
  for (size_t k = 0; k < set.entries.size(); ++k) WriteMeasurement(g.get(), k + 1, set.entries[k]);
}

void WriteStim(hid_t nirs, const IntermediateSet& set) {
  if (set.stim.empty()) return;
  GroupHandle g = Group(nirs, "stim1");
  Writer w(g.get());
  w.String("name", "1");
  w.Doubles("data", set.stim, set.stim.size() / 3, 3);
}

void WriteProbe(hid_t nirs, const IntermediateSet& set) {
  GroupHandle g = Group(nirs, "probe");
  Writer w(g.get());
  w.Vector("wavelengths", {840.0, 770.0});
  w.Matrix("sourcePos2D", set.sourcePos2D);
  w.Matrix("detectorPos2D", set.detectorPos2D);
  if (!set.has3D) return;
  w.Matrix("sourcePos3D", set.sourcePos3D);
  w.Matrix("detectorPos3D", set.detectorPos3D);
  w.Matrix("landmarkPos3D", set.landmarkPos3D);
  // The set gives no anatomical names for its landmarks; neutral labels keep the
  // positions usable without claiming what they are.
  std::vector<std::string> labels;
  for (size_t i = 1; i <= set.landmarkPos3D.rows(); ++i) labels.push_back("L" + std::to_string(i));
  w.Strings("landmarkLabels", labels);
}

// HDF5 says only that it failed; the system's reason (a read-only folder, a full
// disk) is what the user can act on.
FileHandle CreateFile(const std::string& path) {
  errno = 0;
  const hid_t id = H5Fcreate(path.c_str(), H5F_ACC_TRUNC, H5P_DEFAULT, H5P_DEFAULT);
  if (id < 0) {
    const int reason = errno;
    throw ordwell::FileError("Cannot create file \"" + path + "\"" +
                             (reason != 0 ? std::string(": ") + std::strerror(reason) : std::string()));
  }
  return FileHandle(id, "the file \"" + path + "\"");
}

}  // namespace

void WriteSnirf(const IntermediateSet& set, const std::string& path) {
  H5Eset_auto2(H5E_DEFAULT, nullptr, nullptr);  // errors come back as exceptions with our words
  FileHandle file = CreateFile(path);
  Writer(file.get()).String("formatVersion", "1.1");
  {
    GroupHandle nirs = Group(file.get(), "nirs");
    WriteMetaData(nirs.get(), set.meta);
    WriteData(nirs.get(), set);
    WriteStim(nirs.get(), set);
    WriteProbe(nirs.get(), set);
  }
  file.Finish("the file \"" + path + "\"");
}

}  // namespace brenlow
