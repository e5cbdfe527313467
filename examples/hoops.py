import brevant

catalogue = brevant.load("examples/hoops.ini")
for hoop in catalogue:
    sew = hoop.sew_field
    print(f"{hoop.description:24} {sew.width / 10:5.1f} x {sew.height / 10:5.1f} mm, {len(hoop.mounts)} mounts")

catalogue[0].description = "Small square"
catalogue[0].mounts.append(brevant.Mount(label="Centre", id=1))
data = catalogue.to_bytes()  # the file that catalogue.save("my-hoops.ini") writes
print(brevant.load(data)[0].mounts[0].label)
