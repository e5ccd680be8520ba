// placeholder until the test helpers land
