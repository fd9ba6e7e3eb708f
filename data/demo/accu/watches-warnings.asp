<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.0 Transitional//EN" "http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd">
<html xmlns="http://www.w3.org/1999/xhtml">
<head><title>Watches &amp; Warnings - Washington, DC - AccuWeather.com</title></head>
<body>
<div id="wrap">
  <div class="panel">
    <div class="warning-body-content"><h3>Wind Advisory for the District of Columbia</h3>
      <p class="warning-issued">Issued by the National Weather Service</p>
      <p class="warning-date">Wed Apr 14, 11:32 AM</p>
      <div class="awx-story">
        <p>...WIND ADVISORY IN EFFECT UNTIL 8 PM EDT THIS EVENING...</p>
        <p>Northwest winds 20 to 30 mph with gusts up to 50 mph.</p><p>Gusty winds could blow around unsecured objects.</p>
      </div>
    </div>
    <div class="warning-body-content"><h3>Red Flag Warning for the District of Columbia</h3>
      <p class="warning-date">Wed Apr 14, 1:05 PM</p>
      <div class="awx-story">
        <p>Low humidity and gusty winds will create critical fire weather conditions.</p>
      </div>
    </div>
  </div>
</div>
</body>
</html>
