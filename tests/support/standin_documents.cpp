// Stand-in document files for tests.
#include "support/standin_documents.h"

#include "support/temp_dir.h"

namespace kelvort::testing {

std::filesystem::path CopySamples(const std::filesystem::path& folder) {
  const auto target = folder / "samples";
  std::filesystem::copy(std::filesystem::path(KELVORT_SOURCE_DIR) / "samples", target,
                        std::filesystem::copy_options::recursive);
  return target;
}

std::filesystem::path WriteSmallAssembly(const std::filesystem::path& folder) {
  WriteBytes(folder / "Asm.CATProduct", R"(<?xml version="1.0" encoding="UTF-8"?>
<ProductDocument>
  <Product PartNumber="ASM">
    <Parameters>
      <Parameter Name="Length" Type="Real" Value="10" />
    </Parameters>
    <UserRefProperties>
      <Parameter Name="Length" Type="Real" Value="0" />
    </UserRefProperties>
    <Relations>
      <Formula Name="Form_Length" Body="Length" Output="Length" OutputIn="UserRefProperties" />
    </Relations>
    <Products>
      <Instance Name="Sub.1" Component="SUB" />
      <Instance Name="Bolt.1" File="Bolt.CATPart" />
      <Instance Name="Bolt.2" File="Bolt.CATPart" />
      <Instance Name="Washer.1" File="Washer.CATPart" />
    </Products>
  </Product>
  <Component PartNumber="SUB">
    <Products>
      <Instance Name="Bolt.1" File="Bolt.CATPart" />
    </Products>
  </Component>
</ProductDocument>
)");
  WriteBytes(folder / "Bolt.CATPart", R"(<?xml version="1.0" encoding="UTF-8"?>
<PartDocument>
  <Product PartNumber="BOLT">
    <UserRefProperties>
      <Parameter Name="Length" Type="Real" Value="0" />
    </UserRefProperties>
  </Product>
  <Part>
    <Parameters>
      <Parameter Name="Length" Type="Real" Value="30" />
      <Parameter Name="Finish" Type="String" Value="Zinc">
        <Permitted Value="Zinc" />
        <Permitted Value="Black" />
      </Parameter>
    </Parameters>
    <Relations>
      <Formula Name="Form_Length" Body="Length" Output="Length" OutputIn="UserRefProperties" />
    </Relations>
  </Part>
</PartDocument>
)");
  WriteBytes(folder / "Washer.CATPart", R"(<?xml version="1.0" encoding="UTF-8"?>
<PartDocument>
  <Product PartNumber="WASHER" />
  <Part />
</PartDocument>
)");
  return folder / "Asm.CATProduct";
}

std::filesystem::path WriteSubAssemblyWithAFormula(const std::filesystem::path& folder) {
  WriteBytes(folder / "Top.CATProduct",
             "<ProductDocument><Product PartNumber=\"TOP\"><Products>"
             "<Instance Name=\"Sub.1\" File=\"Sub.CATProduct\" />"
             "</Products></Product></ProductDocument>");
  WriteBytes(folder / "Sub.CATProduct",
             "<ProductDocument><Product PartNumber=\"SUB\"><Products>"
             "<Instance Name=\"Holder.1\" Component=\"SUB-C\" /></Products></Product>"
             "<Component PartNumber=\"SUB-C\">"
             "<Parameters><Parameter Name=\"Material\" Type=\"String\" Value=\"Steel\" />"
             "</Parameters><UserRefProperties>"
             "<Parameter Name=\"Material\" Type=\"String\" Value=\"Steel\" />"
             "</UserRefProperties><Relations><Formula Name=\"Form_Material\" Comment=\"\" "
             "Body=\"Material\" Output=\"Material\" OutputIn=\"UserRefProperties\" />"
             "</Relations></Component></ProductDocument>");
  return folder / "Top.CATProduct";
}

}  // namespace kelvort::testing
