# The Windows release: the package command's MSI under msiexec, in a Wine
# prefix of the test's own, and the signatures and checksums beside it.
orvex_add_e2e_test(test_msi_package.py TIMEOUT 300)
